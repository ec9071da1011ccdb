#include "TextChecks.h"

#include "records/TextCodec.h"
#include "uisupport/UiSeam.h"

bool CheckFieldText(UiSeam& seam, QWidget* parent, const QString& text, const QString& what,
                    int maxBytes, ByteCount count) {
    QString stored = text;
    if (count == ByteCount::Cp949Crlf)
        stored.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    const QByteArray utf8 = stored.toUtf8();
    const auto encoded = kelvane::Utf8ToCp949(std::string_view(utf8.constData(), utf8.size()));
    if (!encoded) {
        seam.message(parent, QString::fromStdString(kelvane::NotCp949Message(what.toStdString())));
        return false;
    }
    if (encoded->size() > static_cast<std::size_t>(maxBytes)) {
        seam.message(parent, QStringLiteral("%1 is %2 bytes long; its field holds at most %3 "
                                            "bytes.")
                                 .arg(what)
                                 .arg(encoded->size())
                                 .arg(maxBytes));
        return false;
    }
    return true;
}
