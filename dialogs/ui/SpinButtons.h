#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

// Up and down arrows attached to an edit that holds an integer: a step reads the edit,
// moves within the range and writes the new position back into the edit as text, so the
// edit's own change handling sees it like typing. The arrow keys in the edit step too.
class CSpinButtons : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CSpinButtons)
public:
    explicit CSpinButtons(QWidget* parent = nullptr);

    void SetBuddy(QLineEdit* buddy);
    // What a screen reader calls the two arrows.
    void SetAccessibleNames(const QString& up, const QString& down);
    void SetRange(int lowest, int highest);

    void StepBy(int steps);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* m_buddy = nullptr;
    QToolButton* m_up;
    QToolButton* m_down;
    int m_nLowest = 0;
    int m_nHighest = 100;
    int m_nPosition = 0;
};
