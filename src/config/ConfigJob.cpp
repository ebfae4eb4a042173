#include "config/ConfigJob.h"

#include "config/SnapshotParts.h"
#include "core/Messages.h"
#include "link/DialogDoor.h"
#include "platform/Prompter.h"

#include <algorithm>

namespace tarn {

ConfigJob::ConfigJob(SnapshotContext context, SnapshotHeader header)
    : m_context(std::move(context))
    , m_header(std::move(header))
{
}

ConfigJob::~ConfigJob()
{
    if (m_pass)
        m_pass->setChanged({});
}

std::vector<ConfigJob::Choice> ConfigJob::choicesFor(const ConfigSnapshot& source) const
{
    const std::string* module = source.headerValue(SnapshotHeaderField::ModuleType);
    ConfigSnapshot target;
    m_header.fill(target);
    const bool sameModule = module && *module == *target.headerValue(SnapshotHeaderField::ModuleType);
    std::vector<Choice> choices;
    for (const auto& part : allSnapshotParts()) {
        const ConfigSection* section = source.section(part->name());
        if (!section || section->state == SectionState::NotRead || part->isLocal())
            continue;
        choices.push_back({section->name, !part->isPicture() || sameModule, part->isPicture()});
    }
    return choices;
}

void ConfigJob::read()
{
    if (running())
        return;
    m_cancelled = false;
    m_notTaken.clear();
    m_phase = Phase::Reading;
    startPass(std::make_unique<SnapshotPass>(m_context, allSnapshotParts()));
}

ConfigJob::WriteStart ConfigJob::write(const ConfigSnapshot& source, std::vector<std::string> chosen)
{
    using Kind = WriteStart::Kind;
    if (running())
        return {Kind::NotConfirmed, {}};
    const std::vector<Choice> choices = choicesFor(source);
    for (const auto& part : allSnapshotParts()) {
        if (std::find(chosen.begin(), chosen.end(), part->name()) == chosen.end())
            continue;
        const auto choice = std::find_if(choices.begin(), choices.end(),
                                         [&](const Choice& c) { return c.section == part->name(); });
        if (choice == choices.end())
            continue; // not read, or the console's own: nothing to write
        if (choice->picture && !choice->ticked) {
            ConfigSnapshot target;
            m_header.fill(target);
            const std::string* module = source.headerValue(SnapshotHeaderField::ModuleType);
            return {Kind::Refused,
                    Messages::format(Messages::ConfigPictureMismatch, module ? module->c_str() : "",
                                     target.headerValue(SnapshotHeaderField::ModuleType)->c_str(),
                                     choice->section.c_str())};
        }
        if (auto problem = part->check(*source.section(part->name())))
            return {Kind::Refused, std::move(*problem)};
    }
    ConfigSnapshot target;
    m_header.fill(target);
    const std::string question = Messages::format(Messages::ConfigWriteQuestion,
                                                  target.headerValue(SnapshotHeaderField::CameraType)->c_str(),
                                                  m_header.address, m_header.link.c_str());
    if (!m_context.door.prompter().askYesNo(question, Messages::ConfigWriteTitle, MessageIcon::Question,
                                            DefaultButton::Second))
        return {Kind::NotConfirmed, {}};
    m_source = source;
    m_chosen = std::move(chosen);
    m_cancelled = false;
    m_notTaken.clear();
    m_phase = Phase::Writing;
    startPass(std::make_unique<SnapshotPass>(m_context, allSnapshotParts(), m_source, m_chosen));
    return {};
}

void ConfigJob::cancel()
{
    if (!running())
        return;
    m_cancelled = true;
    if (m_pass)
        m_pass->cancel(); // tells passChanged, which ends the job
}

std::string_view ConfigJob::sectionInProgress() const
{
    return m_pass ? m_pass->sectionInProgress() : std::string_view{};
}

int ConfigJob::partsDone() const
{
    return m_pass ? static_cast<int>(m_pass->partsDone()) : 0;
}

int ConfigJob::partCount() const
{
    return m_pass ? static_cast<int>(m_pass->partCount()) : 0;
}

bool ConfigJob::cameraSilent() const
{
    bool asked = false;
    for (const auto& part : allSnapshotParts()) {
        const ConfigSection* section = m_snapshot.section(part->name());
        if (!section || !part->asksCamera())
            continue;
        asked = true;
        if (section->state != SectionState::NotRead)
            return false;
    }
    return asked;
}

void ConfigJob::startPass(std::unique_ptr<SnapshotPass> pass)
{
    if (m_pass)
        m_pass->setChanged({});
    m_pass = std::move(pass);
    m_pass->setChanged([this] { passChanged(); });
    m_pass->start();
}

void ConfigJob::passChanged()
{
    if (m_pass->running()) {
        if (m_changed)
            m_changed();
        return;
    }
    if (m_cancelled) {
        m_snapshot = m_pass->result();
        m_header.fill(m_snapshot);
        m_phase = Phase::Done;
    } else if (m_phase == Phase::Writing) {
        // The sections written are read back and compared.
        m_phase = Phase::ReadingBack;
        startPass(std::make_unique<SnapshotPass>(m_context, allSnapshotParts(), m_chosen));
        return;
    } else {
        finishReading();
    }
    if (m_changed)
        m_changed();
}

void ConfigJob::finishReading()
{
    m_snapshot = m_pass->result();
    m_header.fill(m_snapshot);
    if (m_phase == Phase::ReadingBack)
        compareWritten();
    m_phase = Phase::Done;
}

std::unique_ptr<SnapshotPart> ConfigJob::partNamed(const std::string& section)
{
    for (auto& part : allSnapshotParts()) {
        if (part->name() == section)
            return std::move(part);
    }
    return nullptr;
}

void ConfigJob::compareWritten()
{
    ConfigSnapshot wanted;
    ConfigSnapshot now;
    for (const std::string& name : m_chosen) {
        const ConfigSection* written = m_source.section(name);
        if (!written || written->state == SectionState::NotRead)
            continue;
        const std::unique_ptr<SnapshotPart> part = partNamed(name);
        if (!part)
            continue;
        const std::vector<std::string> skipped = part->reportedOnly();
        auto keep = [&](const ConfigSection& section) {
            ConfigSection copy{section.name, SectionState::Read, {}};
            for (const ConfigField& field : section.fields) {
                if (std::find(skipped.begin(), skipped.end(), field.name) == skipped.end())
                    copy.fields.push_back(field);
            }
            return copy;
        };
        ConfigSection asWritten = keep(*written);
        for (ConfigField& field : asWritten.fields)
            field.value = part->reportedValue(field.name, field.value);
        wanted.sections.push_back(std::move(asWritten));
        const ConfigSection* read = m_snapshot.section(name);
        if (read && read->state != SectionState::NotRead) {
            ConfigSection copy = keep(*read);
            // Only what was written counts: a field the snapshot did not hold is not asked for.
            std::erase_if(copy.fields, [&](const ConfigField& field) { return !written->find(field.name); });
            now.sections.push_back(std::move(copy));
        } else {
            now.sections.push_back({name, SectionState::NotRead, {}});
        }
    }
    m_notTaken = ConfigCompare::differences(wanted, now);
}

} // namespace tarn
