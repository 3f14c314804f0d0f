// The UI description reader fed any bytes, as a damaged or foreign description
// file might hold them. A description that does not read builds nothing; one
// that reads builds each template with a controller that hands out a
// sub-controller for every name asked, writes every view's attributes back,
// and releases the views again, without a crash, a leak or a hang.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sdk/vstgui/lib/cviewcontainer.h"
#include "sdk/vstgui/uidescription/icontroller.h"
#include "sdk/vstgui/uidescription/uidescription.h"
#include "sdk/vstgui/uidescription/uidescriptionreader.h"
#include "sdk/vstgui/uidescription/uiviewfactory.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

using namespace VSTGUI;
using morvik::testing::require;

struct FuzzController : IController {
    void valueChanged(CControl*) override {}
    IController* createSubController(UTF8StringPtr, const IUIDescription*) override
    {
        return new FuzzController;
    }
};

void writeBack(CView* root, const UIDescription& description)
{
    const UIViewFactory factory;
    std::vector<CView*> pending{root};
    while (!pending.empty()) {
        CView* view = pending.back();
        pending.pop_back();
        IViewCreator::StringList names;
        factory.getAttributeNamesForView(view, names);
        for (const std::string& name : names) {
            std::string value;
            factory.getAttributeValue(view, name, value, &description);
        }
        if (auto* container = dynamic_cast<CViewContainer*>(view)) {
            for (uint32_t i = 0; i < container->getNbViews(); ++i)
                pending.push_back(container->getView(i));
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view xml(reinterpret_cast<const char*>(data), size);
    auto description = makeOwned<UIDescription>(xml, "/nonexistent");
    FuzzController controller;
    if (!description->parse()) {
        require(!description->getParseError().empty(), "a refused description says why");
        require(description->createView("view", &controller) == nullptr,
                "a refused description builds nothing");
        return 0;
    }
    for (const auto& [name, node] : readUIDescription(xml).content.templates) {
        CView* view = description->createView(name.c_str(), &controller);
        if (!view)
            continue;
        writeBack(view, *description);
        view->forget();
    }
    return 0;
}
