#pragma once

#include <string>

// The hosts the app talks to, as base addresses without a trailing slash.
struct Endpoints {
  std::string catalogue;  // the catalogue's web and API host
  std::string icons;  // the catalogue's icon CDN
  std::string website;  // the product website (update notice)
  std::string loaderReleases;  // where the macOS loader build is released
};

// The real hosts unless setEndpoints was called (tests and previews point elsewhere).
const Endpoints& endpoints();
void setEndpoints(Endpoints e);
