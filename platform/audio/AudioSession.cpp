#include "platform/audio/AudioSession.h"

namespace platform {
namespace {
std::unique_ptr<AudioSession>& sharedSlot()
{
    static std::unique_ptr<AudioSession> session;
    return session;
}
} // namespace

AudioSession& AudioSession::sharedInstance()
{
    auto& slot = sharedSlot();
    if (!slot)
        slot = std::make_unique<AudioSession>();
    return *slot;
}

std::unique_ptr<AudioSession> AudioSession::setSharedInstance(std::unique_ptr<AudioSession> session)
{
    auto previous = std::move(sharedSlot());
    sharedSlot() = std::move(session);
    return previous;
}

AudioSession::AudioSession(std::shared_ptr<AudioEngine> engine) : engine_(std::move(engine)) {}

AudioSession::~AudioSession() = default;

Result<void> AudioSession::setCategory(Category category)
{
    category_ = category;
    return {};
}

Result<void> AudioSession::setActive(bool active)
{
    if (!active) {
        engine_->closeDeviceOutput();
        active_ = false;
        return {};
    }
    auto opened = engine_->openDeviceOutput();
    if (opened)
        active_ = true;
    return opened;
}

} // namespace platform
