#include "editors/OffsetControl.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

#include "editors/DialogSupport.h"

namespace lumitag::editors {
namespace {
constexpr int kMinOffset = -8;
constexpr int kMaxOffset = 8;
}

OffsetControl::OffsetControl(QWidget* parent) : QWidget(parent)
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    label_ = new QLabel(QStringLiteral("Y"), this);
    Identify(label_, 1080);
    list_ = new QComboBox(this);
    Identify(list_, 20003);
    for (int offset = kMinOffset; offset <= kMaxOffset; ++offset) list_->addItem(QString::number(offset));
    list_->setCurrentIndex(-1);

    updown_ = new QWidget(this);
    Identify(updown_, 1101);
    auto* arrows = new QVBoxLayout(updown_);
    arrows->setContentsMargins(0, 0, 0, 0);
    arrows->setSpacing(0);
    up_ = new QToolButton(updown_);
    up_->setArrowType(Qt::UpArrow);
    down_ = new QToolButton(updown_);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* arrow : {up_, down_}) {
        arrow->setFixedSize(16, 11);
        arrow->setFocusPolicy(Qt::NoFocus);
        arrows->addWidget(arrow);
    }
    row->addWidget(label_);
    row->addWidget(list_);
    row->addWidget(updown_);

    connect(list_, &QComboBox::activated, this, [this](int index) { emit OffsetChosen(index + kMinOffset); });
    connect(up_, &QToolButton::clicked, this, [this] { Step(-1); });
    connect(down_, &QToolButton::clicked, this, [this] { Step(+1); });
}

void OffsetControl::SetOffset(int offset) { list_->setCurrentIndex(list_->findText(QString::number(offset))); }

void OffsetControl::Step(int direction)
{
    // One entry per click, never past either end. (Clamping the start to the
    // second entry first, as a plain up-down control would, made a click at
    // either end jump by two.)
    const int from = list_->currentIndex() < 0 ? (list_->count() - 1) / 2 : list_->currentIndex();
    const int index = std::clamp(from + direction, 0, list_->count() - 1);
    list_->setCurrentIndex(index);
    emit OffsetChosen(index + kMinOffset);
}

void OffsetControl::ShowListAndLabel(bool visible)
{
    label_->setVisible(visible);
    list_->setVisible(visible);
}

}  // namespace lumitag::editors
