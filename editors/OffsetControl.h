#pragma once
// The vertical offset of a slot: the "Y" label, the list "-8".."8" and its
// up-down arrows. The upper arrow picks the previous entry (one lower), the
// lower arrow the next; both stay within the list.

#include <QWidget>

class QComboBox;
class QLabel;
class QToolButton;

namespace lumitag::editors {

class OffsetControl : public QWidget {
    Q_OBJECT
public:
    explicit OffsetControl(QWidget* parent = nullptr);

    // Selects the entry of `offset`; no entry for a value outside -8..8.
    void SetOffset(int offset);
    QComboBox* List() const { return list_; }
    QToolButton* UpArrow() const { return up_; }
    QToolButton* DownArrow() const { return down_; }
    void ShowListAndLabel(bool visible);

signals:
    void OffsetChosen(int offset);

private:
    void Step(int direction);

    QLabel* label_;
    QComboBox* list_;
    QWidget* updown_;
    QToolButton* up_;
    QToolButton* down_;
};

}  // namespace lumitag::editors
