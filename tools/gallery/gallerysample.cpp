#include "gallerysample.h"

#include <algorithm>

namespace {

std::vector<GallerySetFunction>& registeredSets()
{
    static std::vector<GallerySetFunction> sets;
    return sets;
}

} // namespace

GallerySetRegistration::GallerySetRegistration(GallerySetFunction set)
{
    registeredSets().push_back(set);
}

std::vector<GallerySample> allGallerySamples()
{
    std::vector<GallerySample> all;
    for (GallerySetFunction set : registeredSets()) {
        std::vector<GallerySample> samples = set();
        all.insert(all.end(), samples.begin(), samples.end());
    }
    std::stable_sort(all.begin(), all.end(),
                     [](const GallerySample& a, const GallerySample& b) { return a.name < b.name; });
    return all;
}
