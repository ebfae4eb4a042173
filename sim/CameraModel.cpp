#include "sim/CameraModel.h"

#include <array>
#include <utility>

namespace tarn::sim {

namespace {

constexpr std::array<std::pair<std::string_view, Model>, 6> Models{{
    {"AlderHD", Model::AlderHD},
    {"AlderSD", Model::AlderSD},
    {"BirchSD", Model::BirchSD},
    {"BirchHD", Model::BirchHD},
    {"Cedar", Model::Cedar},
    {"DogwoodHD", Model::DogwoodHD},
}};

constexpr std::array<std::pair<std::string_view, Module>, 3> Modules{{
    {"standard", Module::Standard},
    {"daynight", Module::DayNight},
    {"thermal", Module::Thermal},
}};

} // namespace

std::optional<Model> modelNamed(std::string_view name)
{
    for (const auto& [text, model] : Models) {
        if (text == name)
            return model;
    }
    return std::nullopt;
}

std::optional<Module> moduleNamed(std::string_view name)
{
    for (const auto& [text, module] : Modules) {
        if (text == name)
            return module;
    }
    return std::nullopt;
}

std::string_view modelName(Model model)
{
    for (const auto& [text, known] : Models) {
        if (known == model)
            return text;
    }
    return {};
}

bool answersLongJavelinStatus(Model model)
{
    return model == Model::BirchSD || model == Model::BirchHD;
}

} // namespace tarn::sim
