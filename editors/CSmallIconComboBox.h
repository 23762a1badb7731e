#pragma once
// The colour list of the editors: a drop-down whose entries are 16x16
// swatches without text. A three-colour code shows its three bands top to
// bottom, as the sign draws them.

#include <QComboBox>

#include <cstdint>

namespace lumitag::editors {

class CSmallIconComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit CSmallIconComboBox(QWidget* parent = nullptr);

    // Adds the swatch of colour `code` (0x00BBGGRR); returns its index, or -1
    // (adding nothing) when the code is no sign colour.
    int AddColour(std::uint32_t code);
    std::uint32_t CodeAt(int index) const;
    // The index of the entry with `code`, or -1.
    int IndexOfCode(std::uint32_t code) const;
};

// The 16x16 swatch of a colour code; a null pixmap for a code that is no
// sign colour.
QPixmap ColourSwatch(std::uint32_t code);

}  // namespace lumitag::editors
