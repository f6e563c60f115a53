#include "engine/resources/KS_RESOURCE_CONVERTERS.h"

namespace KEL {

KS_RESOURCE_CONVERTERS& KS_RESOURCE_CONVERTERS::fGet() {
    // The renderer and the audio system plug themselves in here until the
    // repository calls them directly.
    static KS_RESOURCE_CONVERTERS converters;
    return converters;
}

}  // namespace KEL
