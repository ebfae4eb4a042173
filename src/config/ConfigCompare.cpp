#include "config/ConfigCompare.h"

#include "config/ConfigFile.h"

namespace tarn::ConfigCompare {
namespace {

void compareFields(const ConfigSection& first, const ConfigSection& second, std::vector<ConfigDifference>& out)
{
    const std::string absent(Absent);
    for (const ConfigField& field : first.fields) {
        const std::string* other = second.find(field.name);
        if (!other || *other != field.value)
            out.push_back({first.name, field.name, field.value, other ? *other : absent});
    }
    for (const ConfigField& field : second.fields) {
        if (!first.find(field.name))
            out.push_back({first.name, field.name, absent, field.value});
    }
}

} // namespace

std::vector<ConfigDifference> differences(const ConfigSnapshot& first, const ConfigSnapshot& second)
{
    std::vector<ConfigDifference> out;
    const std::string absent(Absent);
    for (const ConfigSection& section : first.sections) {
        const ConfigSection* other = second.section(section.name);
        if (!other) {
            out.push_back({section.name, std::string(StateField), std::string(sectionStateName(section.state)), absent});
            continue;
        }
        if (section.state != other->state)
            out.push_back({section.name, std::string(StateField), std::string(sectionStateName(section.state)),
                           std::string(sectionStateName(other->state))});
        // What one side could not read is not a difference of its values.
        if (section.state != SectionState::NotRead && other->state != SectionState::NotRead)
            compareFields(section, *other, out);
    }
    for (const ConfigSection& section : second.sections) {
        if (!first.section(section.name))
            out.push_back({section.name, std::string(StateField), absent, std::string(sectionStateName(section.state))});
    }
    return out;
}

std::string line(const ConfigDifference& difference)
{
    return difference.section + '.' + difference.field + ": " + ConfigFile::shownValue(difference.first) + " -> "
        + ConfigFile::shownValue(difference.second);
}

} // namespace tarn::ConfigCompare
