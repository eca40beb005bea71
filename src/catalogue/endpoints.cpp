#include "catalogue/endpoints.hpp"

#include "foundation/swappable.hpp"

namespace {
Swappable<Endpoints>& store() {
  static Swappable<Endpoints> s{Endpoints{
      .catalogue = "https://thunderstore.io",
      .icons = "https://gcdn.thunderstore.io",
      .website = "https://quernhold.app",
      .loaderReleases = "https://github.com",
  }};
  return s;
}
}  // namespace

const Endpoints& endpoints() { return store().get(); }

void setEndpoints(Endpoints e) { store().set(std::move(e)); }
