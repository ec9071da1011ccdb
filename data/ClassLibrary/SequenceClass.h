// SequenceClass.h : the sequence class of the class library (interface only).
#ifndef KELVANE_CLASSLIBRARY_SEQUENCECLASS_H
#define KELVANE_CLASSLIBRARY_SEQUENCECLASS_H

class CSequence {
public:
    CSequence();
    explicit CSequence(int length);
    virtual ~CSequence();

    int GetLength() const;
    double Get(int index) const;
    void Set(int index, double value);
    int Append(double value);

protected:
    int m_nLength;
    double* m_pData;
};

#endif
