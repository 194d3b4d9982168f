#include "render/image_file.h"

#include <mutex>
#include <thread>
#include <utility>

#include "render/bmp.h"

namespace {

// Alpha 128 of 255 is the lowest that stays at or above one half, the cut.
bool AllTexelsOpaque(const std::vector<uint8_t>& rgba)
{
    constexpr uint8_t LowestKeptAlpha = 128;
    for (size_t alpha = 3; alpha < rgba.size(); alpha += 4) {
        if (rgba[alpha] < LowestKeptAlpha) {
            return false;
        }
    }
    return true;
}

struct Prefetched {
    std::string path;
    ImageFile image;
};

// The worker and what it read. A worker still running when the program exits
// some other way than ExitGame is joined here rather than left to terminate it.
struct Prefetcher {
    std::mutex lock;
    std::thread worker;
    std::vector<Prefetched> images;

    void Join()
    {
        if (worker.joinable()) {
            worker.join();
        }
    }
    ~Prefetcher() { Join(); }
};

Prefetcher& Shared()
{
    static Prefetcher prefetcher;
    return prefetcher;
}

}  // namespace

ImageFile ReadImageFile(const std::string& path)
{
    ImageFile image;
    image.bmpPixels = ReadBmp(path.c_str(), image.width, image.height);
    if (image.bmpPixels != nullptr) {
        image.rgb = true;
        image.opaque = true;
        return image;
    }
    image.width = 0;
    image.height = 0;
    if (ReadPngFile(path.c_str(), image.png)) {
        image.width = image.png.width;
        image.height = image.png.height;
        image.opaque = AllTexelsOpaque(image.png.rgba);
    }
    return image;
}

void PrefetchImageFiles(std::vector<std::string> paths)
{
    DropPrefetchedImages();
    Prefetcher& prefetcher = Shared();
    prefetcher.worker = std::thread([&prefetcher, paths = std::move(paths)] {
        std::vector<Prefetched> read;
        for (const std::string& path : paths) {
            read.push_back(Prefetched{path, ReadImageFile(path)});
        }
        std::lock_guard<std::mutex> guard(prefetcher.lock);
        prefetcher.images = std::move(read);
    });
}

bool TakePrefetchedImage(const std::string& path, ImageFile& image)
{
    Prefetcher& prefetcher = Shared();
    prefetcher.Join();
    std::lock_guard<std::mutex> guard(prefetcher.lock);
    for (auto entry = prefetcher.images.begin(); entry != prefetcher.images.end(); ++entry) {
        if (entry->path == path && entry->image.Loaded()) {
            image = std::move(entry->image);
            prefetcher.images.erase(entry);
            return true;
        }
    }
    return false;
}

void DropPrefetchedImages()
{
    Prefetcher& prefetcher = Shared();
    prefetcher.Join();
    std::lock_guard<std::mutex> guard(prefetcher.lock);
    prefetcher.images.clear();
}
