#include "monitor/viewer_folders.h"

#include "accounts/account_rules.h"

namespace monitor {

Places viewerPlaces(std::string_view installFolder, std::string_view configuredArchive) {
    Places places{std::string(installFolder), std::string(configuredArchive)};
    if (places.archive.empty()) places.archive = util::fileInFolder(installFolder, "archive");
    return places;
}

std::string nodeFolder(int id, const Places& places, std::string_view accountFolder) {
    if (isAccountNode(id)) return util::mailboxFolderPath(places.install, accountFolder);
    switch (id) {
    case kOutQueueNode: return util::fileInFolder(places.install, "out");
    case kInQueueNode: return util::fileInFolder(places.install, "in");
    case kOutArchiveNode: return util::fileInFolder(places.archive, "out");
    case kInArchiveNode: return util::fileInFolder(places.archive, "in");
    case kSpamNode: return util::fileInFolder(places.install, "spam");
    default: return {};
    }
}

int messageStatus(int node, bool held) {
    if (node == kInArchiveNode) return 4;
    if (node == kOutArchiveNode || node == kSpamNode) return 5;
    if (held) return 1;
    if (node == kOutQueueNode) return 3;
    if (node == kInQueueNode) return 2;
    return 0;
}

std::vector<Destination> transferDestinations(const std::vector<std::string>& accountNames, int sourceNode) {
    std::vector<Destination> choices;
    for (std::size_t i = 0; i < accountNames.size(); ++i)
        if (static_cast<int>(i) != sourceNode && !accountNames[i].empty())
            choices.push_back({accountNames[i], static_cast<int>(i)});
    for (Destination archive : {Destination{"Incoming Archive", kInArchiveNode},
                                Destination{"Outgoing Archive", kOutArchiveNode}, Destination{"Spam Archive", kSpamNode}})
        if (archive.id != sourceNode) choices.push_back(archive);
    return choices;
}

}  // namespace monitor
