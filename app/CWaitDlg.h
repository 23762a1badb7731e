#pragma once
// The small modeless window of an RS-485 send to several IDs: which ID is
// being set, a bar counted in IDs, and OK, which ends the series after the
// ID being sent. It deletes itself when closed.

#include <QDialog>

class QLabel;
class QProgressBar;

namespace lumitag::app {

class CWaitDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDialog = 314;
    explicit CWaitDlg(QWidget* parent);

    void SetRange(int count);
    void SetPosition(int position);
    void SetText(const QString& text);
    QString Text() const;
    int Position() const;

signals:
    // OK: the series should stop after the current ID.
    void stopRequested();

private:
    QLabel* text_;
    QProgressBar* bar_;
};

}  // namespace lumitag::app
