#include "uisupport/AccessibleNames.h"

#include <QRegularExpression>

QString NameFromLabel(const QString& label) {
    static const QRegularExpression kBracketedMnemonic(QStringLiteral("\\(&[^&)]\\)"));
    static const QRegularExpression kMnemonic(QStringLiteral("&(.)"));
    QString name = label;
    name.remove(kBracketedMnemonic);
    name.replace(kMnemonic, QStringLiteral("\\1"));
    name = name.trimmed();
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    return name.trimmed();
}
