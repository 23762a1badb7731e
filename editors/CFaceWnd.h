#pragma once
// A 10 x 8 grid of numbered symbol pictures loaded from a folder; a click
// on a symbol reports its number (taken from the file name).

#include <QImage>
#include <QWidget>

#include <vector>

namespace lumitag::editors {

class CFaceWnd : public QWidget {
    Q_OBJECT
public:
    static constexpr int kColumns = 10;
    static constexpr int kRows = 8;
    static constexpr int kMaxPictures = 194;

    explicit CFaceWnd(QWidget* parent = nullptr);

    // Loads the BMP pictures of `folder` (at most 194, in name order);
    // returns how many were loaded.
    int LoadSymbols(const QString& folder);
    int Count() const { return static_cast<int>(numbers_.size()); }
    const std::vector<int>& Numbers() const { return numbers_; }

    // The cell under `point` as (row, column).
    QPoint CellAt(QPointF point) const;
    QSize sizeHint() const override { return {400, 240}; }

signals:
    void Picked(int number);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    std::vector<QImage> pictures_;
    std::vector<int> numbers_;
    int hoverRow_ = -1;
    int hoverColumn_ = -1;
};

}  // namespace lumitag::editors
