#include "ids/IdServices.h"

namespace lumitag::ids {
namespace {

constexpr int kJobPollMs = 50;

}  // namespace

IdServices::IdServices(QObject* parent) : QObject(parent)
{
    poll_.setInterval(kJobPollMs);
    connect(&poll_, &QTimer::timeout, this, &IdServices::Poll);
}

bool IdServices::StartGroupJob(const std::vector<int>& ids, GroupMode mode)
{
    if (watching_ || ids.empty()) return false;
    if (!StartJob(ids, mode)) return false;
    watching_ = true;
    poll_.start();
    return true;
}

void IdServices::Poll()
{
    if (JobRunning()) return;
    poll_.stop();
    watching_ = false;
    emit groupJobEnded();
}

}  // namespace lumitag::ids
