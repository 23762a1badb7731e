#pragma once
// The ID tool: Read sends the ID read request, Set gives the sign with the
// old ID the new one. The link only writes, so each ends on a timer: Read
// after 600 ms with "Read failed!" (no answer can arrive), Set after 350 ms
// with "Success!". The controls stay disabled until then.

#include <QDialog>
#include <QTimer>

class QComboBox;
class QPushButton;

namespace lumitag::ids {

class IdServices;

class CDialogIDSet : public QDialog {
    Q_OBJECT
public:
    explicit CDialogIDSet(IdServices& services, QWidget* parent = nullptr);

    // Control numbers of template 201.
    static constexpr int kOldIdLabel = 1050, kNewIdLabel = 1080, kOldId = 20000, kNewId = 20001, kRead = 1065,
                         kSet = 1066;
    static constexpr int kReadWaitMs = 600;
    static constexpr int kSetWaitMs = 350;

private:
    void OnRead();
    void OnSet();
    void OnReadTimer();
    void OnSetTimer();
    void SetControlsEnabled(bool enabled);

    IdServices& services_;
    QComboBox* oldId_;
    QComboBox* newId_;
    QPushButton* read_;
    QPushButton* set_;
    QTimer readTimer_;
    QTimer setTimer_;
};

}  // namespace lumitag::ids
