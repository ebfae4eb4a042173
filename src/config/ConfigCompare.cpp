#include "config/ConfigCompare.h"

#include "config/ConfigFile.h"

namespace tarn::ConfigCompare {
namespace {

void compareFields(const ConfigSection& first, const ConfigSection& second, std::vector<ConfigRow>& out)
{
    const std::string absent(Absent);
    for (const ConfigField& field : first.fields) {
        const std::string* other = second.find(field.name);
        out.push_back({first.name, field.name, field.value, other ? *other : absent, !other || *other != field.value});
    }
    for (const ConfigField& field : second.fields) {
        if (!first.find(field.name))
            out.push_back({first.name, field.name, absent, field.value, true});
    }
}

} // namespace

std::vector<ConfigRow> rows(const ConfigSnapshot& first, const ConfigSnapshot& second)
{
    std::vector<ConfigRow> out;
    const std::string absent(Absent);
    const std::string state(StateField);
    for (const ConfigSection& section : first.sections) {
        const ConfigSection* other = second.section(section.name);
        const std::string firstState(sectionStateName(section.state));
        if (!other) {
            out.push_back({section.name, state, firstState, absent, true});
            continue;
        }
        const std::string secondState(sectionStateName(other->state));
        out.push_back({section.name, state, firstState, secondState, section.state != other->state});
        // What one side could not read is not a difference of its values.
        if (section.state != SectionState::NotRead && other->state != SectionState::NotRead)
            compareFields(section, *other, out);
    }
    for (const ConfigSection& section : second.sections) {
        if (!first.section(section.name))
            out.push_back({section.name, state, absent, std::string(sectionStateName(section.state)), true});
    }
    return out;
}

std::vector<ConfigDifference> differences(const ConfigSnapshot& first, const ConfigSnapshot& second)
{
    std::vector<ConfigDifference> out;
    for (ConfigRow& row : rows(first, second)) {
        if (row.differs)
            out.push_back({std::move(row.section), std::move(row.field), std::move(row.first), std::move(row.second)});
    }
    return out;
}

std::string line(const ConfigDifference& difference)
{
    return difference.section + '.' + difference.field + ": " + ConfigFile::shownValue(difference.first) + " -> "
        + ConfigFile::shownValue(difference.second);
}

} // namespace tarn::ConfigCompare
