#pragma once

#include "control/SiteCamera.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarn {

// What the console last heard from a camera of the list: its lamp.
enum class SiteCameraState { NotTried, Answered, NoAnswer };

// The site's cameras in the order the operator keeps them, each with its
// lamp. Only cameras whose values are in range get in; text fields lose the
// spaces around them on the way in, as the file would.
class SiteList {
public:
    static constexpr int MostCameras = 255;
    // Ctrl+1 .. Ctrl+9 reach the first nine of the whole list, whatever the
    // filter shows.
    static constexpr int QuickKeys = 9;

    struct Entry {
        SiteCamera camera;
        SiteCameraState state = SiteCameraState::NotTried;
    };

    // A new list (a file opened, its cameras checked): every lamp "not
    // tried"; past the first 255 nothing is kept.
    void replace(std::vector<SiteCamera> cameras);
    std::vector<SiteCamera> cameras() const;

    int size() const { return static_cast<int>(m_entries.size()); }
    bool empty() const { return m_entries.empty(); }
    const Entry& at(int index) const { return m_entries.at(static_cast<std::size_t>(index)); }

    // The reasons it was refused (values out of range, the list full); empty
    // when it was added at the end.
    std::vector<std::string> add(SiteCamera camera);
    // The same for a change to the camera at `index`; its lamp goes back to
    // "not tried" when the link, rate, protocol or address changed.
    std::vector<std::string> edit(int index, SiteCamera camera);
    void remove(int index);
    // A drag: the camera at `from` ends up at `to`, the others keep their order.
    void move(int from, int to);

    void setState(int index, SiteCameraState state);

    // The indexes whose name, group, link or address contain every word of
    // `text` (each word somewhere, letters of either case), in list order.
    std::vector<int> filter(std::string_view text) const;
    // Ctrl+key (1..9): the index it switches to, if the list is that long.
    std::optional<int> quickKey(int key) const;
    // The camera at this link (however it is written) and address: the one
    // a reply came from.
    std::optional<int> find(std::string_view link, int address) const;

private:
    bool valid(int index) const { return index >= 0 && index < size(); }

    std::vector<Entry> m_entries;
};

} // namespace tarn
