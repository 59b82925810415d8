#include "platform/audio/AudioEngine.h"

#include "platform/Log.h"
#include "platform/audio/DeviceOutput.h"

#include <algorithm>
#include <filesystem>
#include <thread>

namespace platform {
namespace {

struct FileStamp {
    std::string key;
    std::uintmax_t size = 0;
    std::int64_t modified = 0;
};

// Who the file is, however it is reached (symbolic links resolved), and which
// version of it: its size and modification time.
std::optional<FileStamp> stampOf(const std::string& path)
{
    std::error_code ec;
    FileStamp stamp;
    stamp.key = std::filesystem::weakly_canonical(path, ec).string();
    if (ec)
        stamp.key = path;
    stamp.size = std::filesystem::file_size(path, ec);
    if (ec)
        return std::nullopt;
    stamp.modified = std::filesystem::last_write_time(path, ec).time_since_epoch().count();
    if (ec)
        return std::nullopt;
    return stamp;
}

std::shared_ptr<const DecodedSample> readAndDecode(const std::string& path, std::string* error)
{
    auto bytes = readWholeFile(path, error);
    if (!bytes)
        return nullptr;
    return decodeMp3(*bytes, error);
}

} // namespace

std::shared_ptr<AudioEngine> AudioEngine::shared()
{
    static std::shared_ptr<AudioEngine> engine = std::make_shared<AudioEngine>();
    return engine;
}

AudioEngine::AudioEngine() = default;

AudioEngine::~AudioEngine()
{
    // The device's callback must be over before the voices and samples go.
    device_.reset();
}

bool AudioEngine::openDeviceOutput(std::optional<Error>* error)
{
    if (device_)
        return true;
    DeviceOutput::Status status = DeviceOutput::Status::Failed;
    std::string reason;
    device_ = DeviceOutput::open(*this, status, reason);
    if (status == DeviceOutput::Status::Opened)
        return true;
    if (status == DeviceOutput::Status::NoDevice) {
        log("No audio output device: sound goes to the null output");
        return true;
    }
    if (error)
        *error = Error(reason);
    return false;
}

void AudioEngine::closeDeviceOutput()
{
    device_.reset();
}

std::shared_ptr<const DecodedSample> AudioEngine::sample(const std::string& path,
                                                         std::string* error)
{
    const auto stamp = stampOf(path);
    if (!stamp) {
        if (error)
            *error = "cannot open " + path;
        return nullptr;
    }
    auto found = cache_.find(stamp->key);
    if (found != cache_.end() && found->second.size == stamp->size
        && found->second.modified == stamp->modified)
        return found->second.sample;
    auto decoded = readAndDecode(path, error);
    if (!decoded)
        return nullptr;
    if (found != cache_.end())
        retired_.push_back(std::move(found->second.sample));
    cache_[stamp->key] = CacheEntry{stamp->size, stamp->modified, decoded};
    return decoded;
}

void AudioEngine::preloadSamples(const std::vector<std::string>& paths)
{
    struct Job {
        std::string path;
        FileStamp stamp;
        std::shared_ptr<const DecodedSample> decoded;
    };
    std::vector<Job> jobs;
    for (const auto& path : paths) {
        auto stamp = stampOf(path);
        if (!stamp)
            continue;
        auto found = cache_.find(stamp->key);
        if (found != cache_.end() && found->second.size == stamp->size
            && found->second.modified == stamp->modified)
            continue;
        jobs.push_back({path, *stamp, nullptr});
    }
    std::atomic<std::size_t> next{0};
    auto work = [&] {
        for (std::size_t i = next++; i < jobs.size(); i = next++)
            jobs[i].decoded = readAndDecode(jobs[i].path, nullptr);
    };
    const std::size_t threadCount =
        std::min<std::size_t>({jobs.size(), 4, std::max(1u, std::thread::hardware_concurrency())});
    std::vector<std::thread> threads;
    for (std::size_t t = 1; t < threadCount; ++t)
        threads.emplace_back(work);
    work();
    for (auto& thread : threads)
        thread.join();
    for (auto& job : jobs) {
        if (!job.decoded)
            continue;
        auto& entry = cache_[job.stamp.key];
        if (entry.sample)
            retired_.push_back(std::move(entry.sample));
        entry = CacheEntry{job.stamp.size, job.stamp.modified, std::move(job.decoded)};
    }
}

std::size_t AudioEngine::decodedBytes() const
{
    std::size_t bytes = 0;
    for (const auto& [key, entry] : cache_)
        bytes += entry.sample->bytes();
    for (const auto& sample : retired_)
        bytes += sample->bytes();
    return bytes;
}

void AudioEngine::startVoice(std::uint64_t id, const DecodedSample& sample, std::int64_t frame)
{
    send(Command{Command::Kind::Start, id, sample.frames.data(), sample.length(), frame});
}

void AudioEngine::stopVoice(std::uint64_t id)
{
    send(Command{Command::Kind::Stop, id, nullptr, 0, 0});
}

void AudioEngine::send(const Command& command)
{
    if (!commands_.push(command))
        dropped_.fetch_add(1, std::memory_order_relaxed);
    if (batchDepth_ == 0) {
        commands_.publish();
        ++publications_;
    }
}

AudioEngine::Batch::Batch(AudioEngine& engine) : engine_(engine)
{
    ++engine_.batchDepth_;
}

AudioEngine::Batch::~Batch()
{
    if (--engine_.batchDepth_ == 0) {
        engine_.commands_.publish();
        ++engine_.publications_;
    }
}

void AudioEngine::deviceCallback(float* out, unsigned long frames, bool underflow)
{
    if (underflow)
        underruns_.fetch_add(1, std::memory_order_relaxed);
    render(out, static_cast<int>(frames));
}

void AudioEngine::render(float* out, int frames)
{
    commands_.drain([this](const Command& command) { applyCommand(command); });
    while (frames > 0) {
        const int chunk = std::min(frames, kBufferFrames);
        mixChunk(out, chunk);
        out += chunk * kChannels;
        frames -= chunk;
        framesRendered_.fetch_add(static_cast<std::uint64_t>(chunk), std::memory_order_release);
    }
    sounding_.store(voiceCount_, std::memory_order_relaxed);
}

void AudioEngine::applyCommand(const Command& command)
{
    int index = 0;
    while (index < voiceCount_ && voices_[index].id != command.voice)
        ++index;
    const bool found = index < voiceCount_;
    const bool starts = command.kind == Command::Kind::Start && command.frame < command.length;
    if (!starts) {
        if (found)
            voices_[index] = voices_[--voiceCount_];
        return;
    }
    if (!found) {
        if (voiceCount_ == kMaxVoices) {
            dropped_.fetch_add(1, std::memory_order_relaxed);
            return;
        }
        index = voiceCount_++;
    }
    voices_[index] = Voice{command.voice, command.data, command.length,
                           std::max<std::int64_t>(command.frame, 0)};
}

void AudioEngine::mixChunk(float* out, int frames)
{
    std::fill_n(mono_.begin(), frames, 0.0f);
    for (int v = 0; v < voiceCount_;) {
        Voice& voice = voices_[v];
        const auto count =
            static_cast<int>(std::min<std::int64_t>(frames, voice.length - voice.position));
        const std::int16_t* source = voice.data + voice.position;
        for (int i = 0; i < count; ++i)
            mono_[i] += static_cast<float>(source[i]);
        voice.position += count;
        if (voice.position >= voice.length)
            voice = voices_[--voiceCount_];
        else
            ++v;
    }
    static_assert(kChannels == 2, "mono voices are copied to two channels");
    constexpr float kScale = 1.0f / 32768.0f;
    for (int i = 0; i < frames; ++i) {
        const float value = std::clamp(mono_[i] * kScale, -1.0f, 1.0f);
        out[2 * i] = value;
        out[2 * i + 1] = value;
    }
}

} // namespace platform
