#include "platform/audio/SampleCache.h"

#include "platform/Log.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>

namespace platform {
namespace {

Result<std::shared_ptr<const DecodedSample>> readAndDecode(const std::string& path)
{
    const auto bytes = readSampleFile(path);
    if (!bytes)
        return failure(bytes.error());
    return decodeMp3(*bytes);
}

} // namespace

std::optional<SampleCache::FileStamp> SampleCache::stampOf(const std::string& path)
{
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        return std::nullopt;
    // Who the file is, however it is reached (symbolic links resolved): looked
    // up once per path, since a tap may need it.
    auto known = keys_.find(path);
    if (known == keys_.end()) {
        std::error_code ec;
        const auto canonical = std::filesystem::weakly_canonical(path, ec);
        known = keys_.emplace(path, ec ? path : canonical.string()).first;
    }
    const std::int64_t modified =
        std::int64_t{status.st_mtim.tv_sec} * 1'000'000'000 + status.st_mtim.tv_nsec;
    return FileStamp{known->second, {static_cast<std::uintmax_t>(status.st_size), modified}};
}

void SampleCache::reportUndecodable(const std::string& path, const std::string& key,
                                    Version version, const std::string& error)
{
    {
        const std::lock_guard lock(mutex_);
        if (!reported_.emplace(key, version.size, version.modified).second)
            return;
    }
    log(LogLevel::Warning, "cannot play sample " + path + ": " + error);
}

SampleCache::SampleCache(InUse inUse) : inUse_(std::move(inUse)) {}

SampleCache::~SampleCache()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
        queued_.clear();
    }
    wake_.notify_all();
    for (auto& worker : workers_)
        worker.join();
}

Result<std::shared_ptr<const DecodedSample>> SampleCache::sample(const std::string& path)
{
    takeFinished();
    reclaim();
    const auto stamp = stampOf(path);
    if (!stamp) {
        const std::string error = "cannot open " + path;
        reportUndecodable(path, path, {}, error);
        return failure(error);
    }
    const Version version = stamp->version;
    if (auto found = entries_.find(stamp->key);
        found != entries_.end() && found->second.version == version)
        return found->second.result();
    {
        const std::lock_guard lock(mutex_);
        std::erase_if(queued_, [&](const Job& job) { return job.key == stamp->key; });
    }
    auto decoded = readAndDecode(path);
    if (!decoded)
        reportUndecodable(path, stamp->key, version, decoded.error());
    store(stamp->key, Entry{version, decoded ? *decoded : nullptr, decoded.error()});
    return decoded;
}

void SampleCache::decodeInBackground(const std::vector<std::string>& paths)
{
    takeFinished();
    std::vector<Job> jobs;
    for (const auto& path : paths) {
        auto stamp = stampOf(path);
        if (!stamp)
            continue;
        const Version version = stamp->version;
        std::optional<Version> replaces;
        if (auto found = entries_.find(stamp->key); found != entries_.end()) {
            if (found->second.version == version)
                continue;
            replaces = found->second.version;
        }
        jobs.push_back(Job{path, std::move(stamp->key), version, replaces, nullptr, {}});
    }
    if (jobs.empty())
        return;
    {
        const std::lock_guard lock(mutex_);
        for (auto& job : jobs)
            if (std::none_of(queued_.begin(), queued_.end(),
                             [&](const Job& waiting) { return waiting.key == job.key; }))
                queued_.push_back(std::move(job));
    }
    wake_.notify_all();
    // Workers start with the first background decode and wait for more work
    // until the cache goes. Where no thread can be started, what is queued
    // waits for sample() to decode it at once.
    const int wanted =
        std::clamp(static_cast<int>(std::thread::hardware_concurrency()) - 1, 1, kMaxWorkers);
    while (static_cast<int>(workers_.size()) < wanted) {
        try {
            workers_.emplace_back([this] { work(); });
        } catch (const std::system_error&) {
            break;
        }
    }
}

void SampleCache::waitForBackground()
{
    {
        std::unique_lock lock(mutex_);
        if (workers_.empty())
            queued_.clear();
        idle_.wait(lock, [&] { return queued_.empty() && busy_ == 0; });
    }
    takeFinished();
}

std::size_t SampleCache::decodedBytes()
{
    takeFinished();
    reclaim();
    std::size_t bytes = 0;
    for (const auto& [key, entry] : entries_)
        bytes += entry.sample ? entry.sample->bytes() : 0;
    for (const auto& sample : retired_)
        bytes += sample->bytes();
    return bytes;
}

void SampleCache::store(const std::string& key, Entry entry)
{
    auto& slot = entries_[key];
    if (slot.sample)
        retired_.push_back(std::move(slot.sample));
    slot = std::move(entry);
}

void SampleCache::takeFinished()
{
    std::vector<Job> finished;
    {
        const std::lock_guard lock(mutex_);
        finished.swap(finished_);
    }
    for (auto& job : finished) {
        const auto found = entries_.find(job.key);
        const std::optional<Version> now =
            found == entries_.end() ? std::nullopt : std::optional(found->second.version);
        // Decoded at once meanwhile, or changed again: the cache has moved on.
        if (now != job.replaces)
            continue;
        store(job.key, Entry{job.version, std::move(job.sample), std::move(job.error)});
    }
}

void SampleCache::reclaim()
{
    // A retired sample held by nothing but this list is freed once the mix
    // can no longer read it.
    std::erase_if(retired_, [&](const std::shared_ptr<const DecodedSample>& sample) {
        return sample.use_count() == 1 && !inUse_(*sample);
    });
}

void SampleCache::work()
{
    for (;;) {
        Job job;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [&] { return stopping_ || !queued_.empty(); });
            if (stopping_)
                return;
            job = std::move(queued_.front());
            queued_.pop_front();
            ++busy_;
        }
        // No exception may leave a worker: it would end the process. A job
        // that fails in any way counts as undecodable.
        try {
            auto decoded = readAndDecode(job.path);
            job.sample = decoded ? *decoded : nullptr;
            job.error = decoded.error();
            if (!decoded)
                reportUndecodable(job.path, job.key, job.version, job.error);
        } catch (...) {
            job.sample = nullptr;
            job.error = "not a decodable MP3: decoding failed";
        }
        {
            const std::lock_guard lock(mutex_);
            --busy_;
            try {
                finished_.push_back(std::move(job));
            } catch (...) {
                // Dropped: sample() decodes the file when it is needed.
            }
        }
        idle_.notify_all();
    }
}

} // namespace platform
