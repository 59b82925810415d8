#pragma once
// The audio engine's decoded samples: one per sample file, for the version of
// the file (its size and modification time) that was decoded. A file changed
// on disk is decoded again; the sample it replaces is retired, and freed once
// nothing can read it any more: no player holds it and no voice of the mix
// plays it.
//
// Decoding happens at once when a sample is asked for, or ahead of time on
// worker threads. The workers only read files and decode; they never touch
// the cache itself, which the main thread updates when it next uses it.
//
// A file that cannot be read or decoded is logged as a warning naming it and
// why, once for each version of it, by whichever thread finds it so first.
//
// Threads: every function is for the main thread only.
#include "platform/Result.h"
#include "platform/audio/DecodedSample.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

namespace platform {

class SampleCache {
public:
    // Whether the mix may still read a retired sample: called with it, true
    // while a voice plays it or a command not yet taken by the mix names it.
    using InUse = std::function<bool(const DecodedSample&)>;

    explicit SampleCache(InUse inUse);
    // Waits for the decodes in progress on the workers, then ends them.
    ~SampleCache();
    SampleCache(const SampleCache&) = delete;
    SampleCache& operator=(const SampleCache&) = delete;

    // The decoded sound of the file at path: the cached one when the file is
    // unchanged, else decoded now (a decode of it still waiting for a worker
    // is dropped). An error, logged, when the file cannot be read or decoded.
    Result<std::shared_ptr<const DecodedSample>> sample(const std::string& path);
    // Has the files not yet in the cache decoded on worker threads, in the
    // order given, and returns at once. Files that fail are logged by the
    // worker, and left for sample() to return as errors.
    void decodeInBackground(const std::vector<std::string>& paths);
    // Waits until the workers have nothing left to do and takes their
    // results (tests and benchmarks).
    void waitForBackground();
    // Bytes of decoded PCM held, retired samples included.
    std::size_t decodedBytes();

    // Worker threads that decode ahead of time.
    static constexpr int kMaxWorkers = 3;

private:
    struct Version {
        std::uintmax_t size = 0;
        std::int64_t modified = 0;
        friend bool operator==(const Version&, const Version&) = default;
    };
    struct FileStamp {
        std::string key;
        Version version;
    };
    struct Entry {
        Version version;
        std::shared_ptr<const DecodedSample> sample; // nothing: undecodable
        std::string error;                           // why, when undecodable
        Result<std::shared_ptr<const DecodedSample>> result() const
        {
            if (sample)
                return sample;
            return failure(error);
        }
    };
    struct Job {
        std::string path;
        std::string key;
        Version version;
        // The cache's entry for the file when the job was queued; the result
        // is kept only if the entry is still that one.
        std::optional<Version> replaces;
        std::shared_ptr<const DecodedSample> sample;
        std::string error;
    };

    // Who the file at path is, and which version of it (its size and
    // modification time); nothing when it cannot be found.
    std::optional<FileStamp> stampOf(const std::string& path);
    // Logs that the file at path cannot be played, and why, unless this
    // version of it was logged before. Any thread.
    void reportUndecodable(const std::string& path, const std::string& key, Version version,
                           const std::string& error);
    void store(const std::string& key, Entry entry);
    void takeFinished();
    void reclaim();
    void work();

    InUse inUse_;
    std::map<std::string, Entry> entries_;
    std::map<std::string, std::string> keys_; // path -> key
    std::vector<std::shared_ptr<const DecodedSample>> retired_;

    // Shared with the workers, under mutex_.
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::deque<Job> queued_;
    std::vector<Job> finished_;
    int busy_ = 0;
    bool stopping_ = false;
    // The file versions found undecodable so far: key, size, modification.
    std::set<std::tuple<std::string, std::uintmax_t, std::int64_t>> reported_;

    std::vector<std::thread> workers_;
};

} // namespace platform
