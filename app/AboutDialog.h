#pragma once
// Help -> About: the product title, version and build date.

#include <QDialog>

namespace lumitag::app {

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDialog = 100;
    explicit CAboutDlg(QWidget* parent);
};

}  // namespace lumitag::app
