#include "TextChecks.h"

#include <QCoreApplication>

#include "records/TextCodec.h"
#include "uisupport/UiSeam.h"

namespace {

bool TooLong(UiSeam& seam, QWidget* parent, const QString& what, qsizetype bytes, int maxBytes) {
    if (bytes <= maxBytes)
        return false;
    seam.message(parent, QCoreApplication::translate(
                             "TextChecks", "%1 is %2 bytes long; its field holds at most %3 bytes.")
                             .arg(what, QString::number(bytes), QString::number(maxBytes)));
    return true;
}

}  // namespace

bool CheckFieldText(UiSeam& seam, QWidget* parent, const QString& text, const QString& what,
                    int maxBytes, ByteCount count) {
    const QByteArray utf8 = text.toUtf8();
    std::string stored(utf8.constData(), static_cast<std::size_t>(utf8.size()));
    if (count == ByteCount::Cp949Crlf)
        stored = kelvane::ToCrLf(stored);
    const kelvane::FieldFit fit =
        kelvane::FitField(stored, static_cast<std::size_t>(maxBytes), what.toStdString());
    if (!fit.cp949) {
        seam.message(parent, QString::fromStdString(fit.refusal));
        return false;
    }
    return true;
}

bool CheckUnchangedFieldText(UiSeam& seam, QWidget* parent, const QString& text,
                             const QString& what, int maxBytes) {
    const qsizetype atLeast =
        CountBytes(text, ByteCount::Cp949) - text.count(QChar::ReplacementCharacter);
    return !TooLong(seam, parent, what, atLeast, maxBytes);
}
