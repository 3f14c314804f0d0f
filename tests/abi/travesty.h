// The reference definition of the VST 3 ABI (Debian's dpf-source headers), plus
// views of the C function tables it leaves to the reader.
#pragma once

#include <travesty/audio_processor.h>
#include <travesty/base.h>
#include <travesty/bstream.h>
#include <travesty/component.h>
#include <travesty/edit_controller.h>
#include <travesty/events.h>
#include <travesty/factory.h>
#include <travesty/host.h>
#include <travesty/message.h>
#include <travesty/view.h>

namespace morvik::testing {

// An object's whole C table: FUnknown's three slots, then the interface's own
// (the reference spells only some of these out).
template <class Own>
struct Table {
    v3_funknown unknown;
    Own own;
};

// IEditController2 is not in the reference; its slots as the ABI notes list them.
struct EditController2Slots {
    v3_result (*set_knob_mode)(void* self, int32_t mode);
    v3_result (*open_help)(void* self, v3_bool onlyCheck);
    v3_result (*open_about_box)(void* self, v3_bool onlyCheck);
};

// The C table of an object, read from its first word as a C host does.
template <class Table>
const Table& tableOf(void* object)
{
    return **static_cast<Table**>(object);
}

// An object as the C side passes it: a pointer to its table pointer.
template <class CInterface>
CInterface** asC(void* object)
{
    return static_cast<CInterface**>(object);
}

}  // namespace morvik::testing
