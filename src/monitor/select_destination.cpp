
#include "monitor/select_destination_ids.h"
#include "monitor/select_destination.h"


namespace monitor {
namespace {

class SelectDestination final : public ui::ModalDialog {
public:
    explicit SelectDestination(const std::vector<Destination>& destinations)
        : ModalDialog(kSelectDestinationDialog), destinations_(destinations) {}
    std::optional<TransferChoice> choice;

protected:
    bool onOpen() override {
        ui::ListBox list = listBox(IDC_DEST_LIST);
        for (const Destination& d : destinations_) list.setData(list.add(d.label), d.id);
        list.select(0);
        return true;
    }
    void onControl(int id, int code) override {
        if (code != BN_CLICKED || (id != IDC_DEST_COPY && id != IDC_DEST_MOVE)) return;
        ui::ListBox list = listBox(IDC_DEST_LIST);
        int index = list.selection();
        if (index < 0) return;
        choice = TransferChoice{static_cast<int>(list.data(index)), id == IDC_DEST_MOVE};
        close(id);
    }

private:
    const std::vector<Destination>& destinations_;
};

}  // namespace

const ui::WindowDefinition kSelectDestinationDialog{IDD_SELECT_DESTINATION};

std::optional<TransferChoice> chooseDestination(HWND owner, const std::vector<Destination>& destinations) {
    SelectDestination dialog(destinations);
    dialog.run(owner);
    return dialog.choice;
}

}  // namespace monitor
