// ImageClass.h : image classes of the class library (interface only).
#ifndef KELVANE_CLASSLIBRARY_IMAGECLASS_H
#define KELVANE_CLASSLIBRARY_IMAGECLASS_H

typedef struct { float re, im; } COMPLEX_PIXEL;
typedef struct { unsigned char r, g, b; } RGB_PIXEL;

template <class PIXEL>
class CImageT {
public:
    CImageT();
    CImageT(int width, int height);
    virtual ~CImageT();

    int GetWidth() const;
    int GetHeight() const;
    PIXEL* GetLine(int y);
    PIXEL GetPixel(int x, int y) const;
    void SetPixel(int x, int y, PIXEL value);
    int Create(int width, int height);

protected:
    int m_nWidth;
    int m_nHeight;
    PIXEL* m_pData;
};

class CImageByte : public CImageT<unsigned char> {};
class CImageFloat : public CImageT<float> {};
class CImageComplex : public CImageT<COMPLEX_PIXEL> {};
class CImageRGB : public CImageT<RGB_PIXEL> {};

#endif
