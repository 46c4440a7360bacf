// One glTF animation sampler evaluated at any time, with STEP, LINEAR
// (spherical for rotations) and CUBICSPLINE interpolation as glTF 2.0
// defines them.
#pragma once

#include <vector>

#include <tiny_gltf.h>

namespace tvx::gltf {

class Track {
public:
    // Reads and checks the sampler's input times and output values;
    // `components` is 3 (translation, scale) or 4 (rotation).
    Track(const tinygltf::Model& model, const tinygltf::AnimationSampler& sampler, int components, bool rotation);

    double EndTime() const { return times_.back(); }
    std::vector<double> At(double t) const;

private:
    enum class Mode { Step, Linear, Cubic };

    std::vector<double> Value(std::size_t key, std::size_t part) const;
    std::vector<double> Cubic(std::size_t k, double u, double dt) const;

    std::vector<double> times_;
    std::vector<double> values_;
    std::size_t components_;
    bool rotation_;
    Mode mode_ = Mode::Linear;
};

}  // namespace tvx::gltf
