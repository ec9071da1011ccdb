// MatrixClass.h : the matrix class of the class library (interface only).
#ifndef KELVANE_CLASSLIBRARY_MATRIXCLASS_H
#define KELVANE_CLASSLIBRARY_MATRIXCLASS_H

class CMatrix {
public:
    CMatrix();
    CMatrix(int width, int height);
    virtual ~CMatrix();

    int GetWidth() const;   // number of columns
    int GetHeight() const;  // number of rows
    float Get(int column, int row) const;
    void Set(int column, int row, float value);

protected:
    int m_nWidth;
    int m_nHeight;
    float* m_pData;  // row by row
};

#endif
