#include "catalogue/endpoints.hpp"

#include <atomic>
#include <list>
#include <mutex>

namespace {
// Every configuration ever set stays alive, so a reference handed out by endpoints() never
// dangles when another thread calls setEndpoints; there are only a handful per process.
struct Store {
  std::mutex lock;
  std::list<Endpoints> all{Endpoints{
      .catalogue = "https://thunderstore.io",
      .icons = "https://gcdn.thunderstore.io",
      .website = "https://quernhold.app",
      .loaderReleases = "https://github.com",
  }};
  std::atomic<const Endpoints*> current{&all.front()};
};

Store& store() {
  static Store s;
  return s;
}
}  // namespace

const Endpoints& endpoints() { return *store().current.load(std::memory_order_acquire); }

void setEndpoints(Endpoints e) {
  Store& s = store();
  std::lock_guard guard{s.lock};
  s.current.store(&s.all.emplace_back(std::move(e)), std::memory_order_release);
}
