#include "SpinButtons.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "dialogs/MatrixText.h"

CSpinButtons::CSpinButtons(QWidget* parent)
    : QWidget(parent), m_up(new QToolButton(this)), m_down(new QToolButton(this)) {
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    for (QToolButton* button : {m_up, m_down}) {
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setFixedSize(16, 11);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_up);
    layout->addWidget(m_down);
    connect(m_up, &QToolButton::clicked, this, [this] { StepBy(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { StepBy(-1); });
}

void CSpinButtons::SetBuddy(QLineEdit* buddy) {
    if (m_buddy)
        m_buddy->removeEventFilter(this);
    m_buddy = buddy;
    if (m_buddy)
        m_buddy->installEventFilter(this);
}

void CSpinButtons::SetAccessibleNames(const QString& up, const QString& down) {
    m_up->setAccessibleName(up);
    m_down->setAccessibleName(down);
}

void CSpinButtons::SetRange(int lowest, int highest) {
    m_nLowest = lowest;
    m_nHighest = highest;
    m_nPosition = std::clamp(m_nPosition, m_nLowest, m_nHighest);
}

void CSpinButtons::StepBy(int steps) {
    if (m_buddy) {
        int shown = m_nPosition;
        if (kelvane::ParseIntegerText(m_buddy->text().toStdString(), shown))
            m_nPosition = shown;
    }
    m_nPosition = std::clamp(m_nPosition + steps, m_nLowest, m_nHighest);
    if (m_buddy)
        m_buddy->setText(QString::number(m_nPosition));
}

bool CSpinButtons::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_buddy && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            StepBy(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
