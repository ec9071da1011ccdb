#include "TextLimit.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>

int CountBytes(const QString& text, ByteCount count) {
    int bytes = 0;
    for (const char32_t c : text.toUcs4()) {
        if (count == ByteCount::Utf8) {
            bytes += c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
        } else if (c == U'\n' && count == ByteCount::Cp949Crlf) {
            bytes += 2;
        } else {
            // CP949 is ASCII plus two-byte codes; a character it cannot hold is refused
            // later with a message, so counting it as two bytes is only an estimate.
            bytes += c < 0x80 ? 1 : 2;
        }
    }
    return bytes;
}

CByteLimit::CByteLimit(QLineEdit* edit, int maxBytes, ByteCount count)
    : QObject(edit), m_lineEdit(edit), m_maxBytes(maxBytes), m_count(count) {
    connect(edit, &QLineEdit::textChanged, this, &CByteLimit::OnChanged);
    Remember();
}

CByteLimit::CByteLimit(QPlainTextEdit* edit, int maxBytes, ByteCount count)
    : QObject(edit), m_textEdit(edit), m_maxBytes(maxBytes), m_count(count) {
    connect(edit, &QPlainTextEdit::textChanged, this, &CByteLimit::OnChanged);
    Remember();
}

QString CByteLimit::Current() const {
    return m_lineEdit ? m_lineEdit->text() : m_textEdit->toPlainText();
}

void CByteLimit::SetText(const QString& text) {
    m_restoring = true;
    if (m_lineEdit)
        m_lineEdit->setText(text);
    else
        m_textEdit->setPlainText(text);
    m_restoring = false;
    Remember();
}

void CByteLimit::Remember() {
    m_lastGood = Current();
    m_lastCursor = m_lineEdit ? m_lineEdit->cursorPosition() : m_textEdit->textCursor().position();
}

void CByteLimit::OnChanged() {
    if (m_restoring)
        return;
    const QString text = Current();
    const int bytes = CountBytes(text, m_count);
    if (bytes > m_maxBytes && bytes > CountBytes(m_lastGood, m_count)) {
        Restore();
        QApplication::beep();
        return;
    }
    Remember();
}

void CByteLimit::Restore() {
    m_restoring = true;
    if (m_lineEdit) {
        m_lineEdit->setText(m_lastGood);
        m_lineEdit->setCursorPosition(m_lastCursor);
    } else {
        m_textEdit->setPlainText(m_lastGood);
        QTextCursor cursor = m_textEdit->textCursor();
        cursor.setPosition(qMin(m_lastCursor, static_cast<int>(m_lastGood.size())));
        m_textEdit->setTextCursor(cursor);
    }
    m_restoring = false;
}
