#include "resources/artwork.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void RegisterKelvaneArtwork() { Q_INIT_RESOURCE(kelvane); }

namespace kelvane::resources {

void InitArtwork() {
  static const bool registered = (RegisterKelvaneArtwork(), true);
  (void)registered;
}

}  // namespace kelvane::resources
