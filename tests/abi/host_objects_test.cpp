// The host library's objects called through the reference's C function tables:
// each slot must reach the method of the same place and signature.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>

#include "tests/abi/travesty.h"
#include "tools/host/component_handler.h"
#include "tools/host/host_application.h"
#include "tools/host/memory_stream.h"
#include "tools/host/parameter_changes.h"
#include "tools/host/text.h"

namespace {
using namespace Steinberg;
using namespace morvik::host;
using morvik::testing::tableOf;
using ::testing::ElementsAre;

// FUnknown's three slots, on an object that holds one reference.
void expectUnknownSlots(void* self, const v3_tuid ownId)
{
    const auto& unknown = tableOf<v3_funknown>(self);
    void* answer = nullptr;
    ASSERT_EQ(unknown.query_interface(self, ownId, &answer), V3_OK);
    EXPECT_EQ(answer, self);
    EXPECT_EQ(unknown.unref(self), 1u);
    ASSERT_EQ(unknown.query_interface(self, v3_funknown_iid, &answer), V3_OK);
    EXPECT_EQ(unknown.unref(answer), 1u);
    answer = self;
    EXPECT_EQ(unknown.query_interface(self, v3_component_iid, &answer), V3_NO_INTERFACE);
    EXPECT_EQ(answer, nullptr);
    EXPECT_EQ(unknown.ref(self), 2u);
    EXPECT_EQ(unknown.unref(self), 1u);
}

TEST(HostObjectTables, MemoryStream)
{
    auto stream = create<MemoryStream>();
    void* self = static_cast<IBStream*>(stream.get());
    expectUnknownSlots(self, v3_bstream_iid);

    const auto& table = tableOf<morvik::testing::Table<v3_bstream>>(self).own;
    uint8_t data[6] = {1, 2, 3, 4, 5, 6};
    int32_t count = 0;
    ASSERT_EQ(table.write(self, data, 6, &count), V3_OK);
    EXPECT_EQ(count, 6);
    int64_t position = -1;
    ASSERT_EQ(table.tell(self, &position), V3_OK);
    EXPECT_EQ(position, 6);
    ASSERT_EQ(table.seek(self, 2, V3_SEEK_SET, &position), V3_OK);
    EXPECT_EQ(position, 2);
    uint8_t back[3] = {};
    ASSERT_EQ(table.read(self, back, 3, &count), V3_OK);
    EXPECT_EQ(count, 3);
    EXPECT_THAT(back, ElementsAre(3, 4, 5));
}

TEST(HostObjectTables, ParameterChangesAndTheirQueues)
{
    auto changes = create<ParameterChanges>();
    void* self = static_cast<Vst::IParameterChanges*>(changes.get());
    expectUnknownSlots(self, v3_param_changes_iid);

    const auto& table = tableOf<v3_param_changes_cpp>(self).changes;
    v3_param_id id = 6;
    int32_t index = -1;
    v3_param_value_queue** queue = table.add_param_data(self, &id, &index);
    ASSERT_NE(queue, nullptr);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(table.get_param_count(self), 1);
    EXPECT_EQ(table.get_param_data(self, 0), queue);
    expectUnknownSlots(queue, v3_param_value_queue_iid);

    const auto& queueTable = tableOf<v3_param_value_queue_cpp>(queue).queue;
    int32_t pointIndex = -1;
    ASSERT_EQ(queueTable.add_point(queue, 32, 0.75, &pointIndex), V3_OK);
    EXPECT_EQ(pointIndex, 0);
    EXPECT_EQ(queueTable.get_param_id(queue), 6u);
    EXPECT_EQ(queueTable.get_point_count(queue), 1);
    int32_t offset = -1;
    double value = -1.0;
    ASSERT_EQ(queueTable.get_point(queue, 0, &offset, &value), V3_OK);
    EXPECT_EQ(offset, 32);
    EXPECT_EQ(value, 0.75);
}

TEST(HostObjectTables, ComponentHandler)
{
    auto recorder = create<RecordingComponentHandler>();
    void* self = static_cast<Vst::IComponentHandler*>(recorder.get());
    expectUnknownSlots(self, v3_component_handler_iid);

    const auto& table = tableOf<morvik::testing::Table<v3_component_handler>>(self).own;
    EXPECT_EQ(table.begin_edit(self, 3), V3_OK);
    EXPECT_EQ(table.perform_edit(self, 3, 0.25), V3_OK);
    EXPECT_EQ(table.end_edit(self, 3), V3_OK);
    EXPECT_EQ(table.restart_component(self, V3_RESTART_PARAM_VALUES_CHANGED), V3_OK);
    EXPECT_THAT(recorder->calls(),
                ElementsAre(beginEdit(3), performEdit(3, 0.25), endEdit(3),
                            restartComponent(Vst::kParamValuesChanged)));
}

TEST(HostObjectTables, HostApplication)
{
    auto host = create<HostApplication>();
    void* self = static_cast<Vst::IHostApplication*>(host.get());
    expectUnknownSlots(self, v3_host_application_iid);

    const auto& table = tableOf<v3_host_application_cpp>(self).app;
    v3_str_128 name{};
    ASSERT_EQ(table.get_name(self, name), V3_OK);
    char16 asText[128];
    std::memcpy(asText, name, sizeof(asText));
    EXPECT_EQ(toUtf8(asText), "Morvik Test Host");
    v3_tuid cid{};
    v3_tuid iid{};
    void* object = self;
    EXPECT_EQ(table.create_instance(self, cid, iid, &object), V3_FALSE);
    EXPECT_EQ(object, nullptr);
}

}  // namespace
