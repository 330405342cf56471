#include "assets/PictureDecoder.h"

PictureDecoder::~PictureDecoder() {
    if (worker_.joinable()) worker_.join();
}

void PictureDecoder::start(const std::vector<std::string>& paths) {
    std::vector<std::packaged_task<std::optional<Image>()>> jobs;
    for (const std::string& path : paths) {
        jobs.emplace_back([path] { return loadImage(path); });
        pending_.emplace(path, jobs.back().get_future());
    }
    worker_ = std::thread([jobs = std::move(jobs)]() mutable {
        for (auto& job : jobs) job();
    });
}

bool PictureDecoder::take(const std::string& path, std::optional<Image>& image) {
    const auto found = pending_.find(path);
    if (found == pending_.end()) return false;
    image = found->second.get();
    pending_.erase(found);
    return true;
}
