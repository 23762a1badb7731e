// The shared window helpers: relabelling by control number, artwork from
// SVG, and the layout direction of a language.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "l10n/Language.h"
#include "ui/Art.h"
#include "ui/DialogTexts.h"
#include "ui/Layout.h"

namespace lumitag::ui {
namespace {

constexpr int kTextEditor = 140;
constexpr int kGerman = 11;

struct TextEditorLike {
    QDialog dialog;
    QPushButton* ok = new QPushButton("ok-own");
    QCheckBox* bold = new QCheckBox("bold-own");
    QLabel* unnumbered = new QLabel("keep");
    QLabel* unknown = new QLabel("unknown-own");

    TextEditorLike()
    {
        auto* layout = new QVBoxLayout(&dialog);
        for (QWidget* w : {static_cast<QWidget*>(ok), static_cast<QWidget*>(bold), static_cast<QWidget*>(unnumbered),
                           static_cast<QWidget*>(unknown)})
            layout->addWidget(w);
        SetControlId(ok, 1);
        SetControlId(bold, 1060);
        SetControlId(unknown, 4242);
    }
};

TEST(DialogTexts, RelabelsNumberedControlsAndKeepsTheRest)
{
    RecordingReporter reporter;
    ASSERT_TRUE(ApplyLanguage(kGerman, reporter));
    TextEditorLike editor;
    ApplyDialogTexts(&editor.dialog, kTextEditor);

    EXPECT_EQ(editor.dialog.windowTitle(), "Texteditor");
    EXPECT_EQ(editor.ok->text(), "OK");
    EXPECT_EQ(editor.bold->text(), "Fett");
    EXPECT_EQ(editor.unnumbered->text(), "keep");
    EXPECT_EQ(editor.unknown->text(), "unknown-own");
    EXPECT_EQ(ControlId(editor.bold), 1060);
    EXPECT_EQ(ControlId(editor.unnumbered), 0);
}

TEST(Art, SvgBecomesPixelsAtTheAskedSize)
{
    const QImage image = ArtPixmap("test-square", QSize(20, 20)).toImage();
    ASSERT_EQ(image.size(), QSize(20, 20));
    EXPECT_EQ(QColor(image.pixel(2, 10)), QColor(Qt::red));
    EXPECT_EQ(qAlpha(image.pixel(17, 10)), 0);
    EXPECT_FALSE(ArtIcon("test-square").isNull());
    EXPECT_TRUE(ArtIcon("no-such-picture").isNull());
    EXPECT_TRUE(ArtPixmap("no-such-picture", QSize(4, 4)).isNull());
}

TEST(Layout, ArabicAndPersianTurnTheApplicationRightToLeft)
{
    for (int language = 1; language <= 14; ++language) {
        ApplyLanguageDirection(language);
        const bool rtl = language == 13 || language == 14;
        EXPECT_EQ(QGuiApplication::layoutDirection(), rtl ? Qt::RightToLeft : Qt::LeftToRight) << language;
    }
    ApplyLanguageDirection(3);
}

}  // namespace
}  // namespace lumitag::ui

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
