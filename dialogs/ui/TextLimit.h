#pragma once

#include <QObject>
#include <QString>

class QLineEdit;
class QPlainTextEdit;

// How many bytes a text takes in the field that receives it.
enum class ByteCount {
    Cp949,      // function-file fields: ASCII one byte, every other character two
    Cp949Crlf,  // the same, with each line break stored as "\r\n"
    Utf8,       // file names
};

int CountBytes(const QString& text, ByteCount count);

// Keeps an edit control within a byte budget: an edit that would make the text longer
// than the budget is undone as a whole (with a beep), so nothing is ever cut. A text that
// is already over the budget may still be shortened.
class CByteLimit : public QObject {
    Q_OBJECT
public:
    CByteLimit(QLineEdit* edit, int maxBytes, ByteCount count);
    CByteLimit(QPlainTextEdit* edit, int maxBytes, ByteCount count);

    // Sets the text as the program holds it, over budget or not; it becomes the fallback.
    void SetText(const QString& text);
    int maxBytes() const { return m_maxBytes; }

private:
    void OnChanged();
    void Remember();
    QString Current() const;
    void Restore();

    QLineEdit* m_lineEdit = nullptr;
    QPlainTextEdit* m_textEdit = nullptr;
    int m_maxBytes;
    ByteCount m_count;
    QString m_lastGood;
    int m_lastCursor = 0;
    bool m_restoring = false;
};
