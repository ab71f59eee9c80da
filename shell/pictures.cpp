#include "shell/pictures.h"

namespace {

// One picture's state for the whole run: a first-use flag and the cache.
struct CachedPicture {
    explicit CachedPicture(const char* name) : fileName(name) {}

    const char* fileName;
    bool used = false;
    std::shared_ptr<fw::Picture> pic;

    // One load attempt per call while nothing is cached; once a load has
    // succeeded, the same picture for ever after.
    std::shared_ptr<fw::Picture> Get() {
        if (!used) {
            used = true;
            pic = nullptr;
        }
        if (!pic) pic = fw::Picture::OpenFromApp(fileName);
        return pic;
    }
};

}  // namespace

std::shared_ptr<fw::Picture> Info32() {
    static CachedPicture info32{"Info32.png"};
    return info32.Get();
}

std::shared_ptr<fw::Picture> Rovi96() {
    static CachedPicture rovi96{"Rovi96.png"};
    return rovi96.Get();
}
