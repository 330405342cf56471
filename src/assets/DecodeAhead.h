#pragma once

#include <chrono>
#include <functional>
#include <future>
#include <map>
#include <string>
#include <thread>
#include <vector>

// Decodes the start-up files of one kind on a worker thread, in the order
// given, while the main thread brings up the window and the devices and
// draws the intro; the registry takes each file's decoding when it loads
// that file, and only the main thread hands it to the device.
template <class Decoded>
class DecodeAhead {
public:
    using Decode = std::function<Decoded(const std::string&)>;

    DecodeAhead() = default;
    ~DecodeAhead() {
        if (worker_.joinable()) worker_.join();
    }
    DecodeAhead(const DecodeAhead&) = delete;
    DecodeAhead& operator=(const DecodeAhead&) = delete;

    // Called before any of these files is loaded; a second start first
    // lets the earlier worker finish.
    void start(const std::vector<std::string>& paths, Decode decode) {
        if (worker_.joinable()) worker_.join();
        std::vector<std::packaged_task<Decoded()>> jobs;
        for (const std::string& path : paths) {
            jobs.emplace_back([decode, path] { return decode(path); });
            pending_.emplace(path, jobs.back().get_future());
        }
        worker_ = std::thread([jobs = std::move(jobs)]() mutable {
            for (auto& job : jobs) job();
        });
    }
    // Whether taking this path would not wait.
    bool ready(const std::string& path) const {
        const auto found = pending_.find(path);
        return found == pending_.end() ||
               found->second.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
    }
    // False for a path never given to start or already taken; otherwise
    // waits for its decoding and gives it.
    bool take(const std::string& path, Decoded& decoded) {
        const auto found = pending_.find(path);
        if (found == pending_.end()) return false;
        decoded = found->second.get();
        pending_.erase(found);
        return true;
    }

private:
    std::map<std::string, std::future<Decoded>> pending_;
    std::thread worker_;
};
