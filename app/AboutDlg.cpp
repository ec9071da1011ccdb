#include "app/AboutDlg.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

#include "resources/Icons.h"

namespace {

// The box is laid out in dialog units: a quarter of the average character width across,
// an eighth of the character height down.
class DialogUnits {
public:
    explicit DialogUnits(const QFontMetrics& metrics)
        : m_x(metrics.averageCharWidth()), m_y(metrics.height()) {}
    int X(int units) const { return (units * m_x + 2) / 4; }
    int Y(int units) const { return (units * m_y + 4) / 8; }
    QRect Rect(int x, int y, int w, int h) const { return QRect(X(x), Y(y), X(w), Y(h)); }

private:
    int m_x;
    int m_y;
};

}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("100"));
    setWindowTitle(QStringLiteral("About Kelvane v1.0"));
    const DialogUnits du(fontMetrics());

    auto* icon = new QLabel(this);
    const QRect iconRect = du.Rect(11, 17, 20, 20);
    icon->setGeometry(iconRect);
    icon->setPixmap(icons::Application().pixmap(32, 32));
    icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* text = new QLabel(QStringLiteral("KLV Version 1.0"), this);
    text->setObjectName(QStringLiteral("version"));
    text->setTextFormat(Qt::PlainText);
    const QRect textRect = du.Rect(40, 10, 119, 8);
    text->setGeometry(textRect.adjusted(0, 0, 0, fontMetrics().height() - textRect.height()));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("1"));
    ok->setDefault(true);
    ok->setGeometry(du.Rect(178, 7, 50, 14));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    setFixedSize(du.X(235), du.Y(55));
}
