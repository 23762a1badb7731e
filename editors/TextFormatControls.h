#pragma once
// The formatting controls the text and date editors share: font, size and
// colour lists, bold/italic/underline, bound to one rich edit. The controls
// follow the format at the caret; choosing in them applies all six
// attributes to the selection (or to what is typed next).

#include <QObject>

#include <cstdint>
#include <string>

#include "render/content/FormattedText.h"

class QComboBox;
class QToolButton;
class QWidget;

namespace lumitag::editors {

class CAutoRichEditCtrl;
class CSmallIconComboBox;

class TextFormatControls : public QObject {
    Q_OBJECT
public:
    TextFormatControls(CAutoRichEditCtrl* edit, QWidget* parent);

    QComboBox* FontList() const { return fonts_; }
    QComboBox* SizeList() const { return sizes_; }
    CSmallIconComboBox* ColourList() const { return colours_; }
    QToolButton* Bold() const { return bold_; }
    QToolButton* Italic() const { return italic_; }
    QToolButton* Underline() const { return underline_; }

    // The controls take the format at the caret.
    void FollowCaret();
    void SetVisible(bool visible);

    // The format the controls apply now.
    CharFormat Remembered() const;

signals:
    // A format was applied to the edit.
    void Applied();

private:
    void Apply();
    QToolButton* StyleButton(QWidget* parent, int id, const QString& art, const QString& label);

    CAutoRichEditCtrl* edit_;
    QComboBox* fonts_;
    QComboBox* sizes_;
    CSmallIconComboBox* colours_;
    QToolButton* bold_;
    QToolButton* italic_;
    QToolButton* underline_;
    std::string face_ = "Arial";
    int size_ = 12;
    std::uint32_t colour_ = 0x0000FFFF;
    bool following_ = false;
};

// The face names the font list offers: every installed family once, sorted.
QStringList InstalledFamilies();

}  // namespace lumitag::editors
