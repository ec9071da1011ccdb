#include "TextChecks.h"

#include "records/TextCodec.h"
#include "uisupport/UiSeam.h"

bool CheckFieldText(UiSeam& seam, QWidget* parent, const QString& text, const QString& what,
                    int maxBytes, ByteCount count) {
    const QByteArray utf8 = text.toUtf8();
    std::string stored(utf8.constData(), static_cast<std::size_t>(utf8.size()));
    if (count == ByteCount::Cp949Crlf)
        stored = kelvane::ToCrLf(stored);
    const kelvane::FieldFit fit =
        kelvane::FitField(stored, static_cast<std::size_t>(maxBytes), what.toStdString());
    if (!fit.cp949) {
        seam.message(parent, QString::fromStdString(fit.tooLong ? fit.refusal + "." : fit.refusal));
        return false;
    }
    return true;
}
