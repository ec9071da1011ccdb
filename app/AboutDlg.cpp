#include "app/AboutDlg.h"

#include <QLabel>
#include <QPushButton>

#include "resources/Icons.h"
#include "uisupport/DialogUnits.h"

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("100"));
    setWindowTitle(tr("About Kelvane v1.0"));
    const DialogUnits du(fontMetrics());

    auto* icon = new QLabel(this);
    const QRect iconRect = du.Rect(11, 17, 20, 20);
    icon->setGeometry(iconRect);
    icon->setPixmap(icons::Application().pixmap(32, 32));
    icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* text = new QLabel(tr("KLV Version 1.0"), this);
    text->setObjectName(QStringLiteral("version"));
    text->setTextFormat(Qt::PlainText);
    const QRect textRect = du.Rect(40, 10, 119, 8);
    text->setGeometry(textRect.adjusted(0, 0, 0, fontMetrics().height() - textRect.height()));

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("1"));
    ok->setDefault(true);
    ok->setGeometry(du.Rect(178, 7, 50, 14));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    setFixedSize(du.X(235), du.Y(55));
}
