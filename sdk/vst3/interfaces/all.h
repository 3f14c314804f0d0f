// Every host interface at once, for hosts and tests.
#pragma once

#include "sdk/vst3/interfaces/audioprocessor.h"
#include "sdk/vst3/interfaces/bstream.h"
#include "sdk/vst3/interfaces/component.h"
#include "sdk/vst3/interfaces/connection.h"
#include "sdk/vst3/interfaces/editcontroller.h"
#include "sdk/vst3/interfaces/events.h"
#include "sdk/vst3/interfaces/funknown.h"
#include "sdk/vst3/interfaces/hostapplication.h"
#include "sdk/vst3/interfaces/parameterchanges.h"
#include "sdk/vst3/interfaces/pluginbase.h"
#include "sdk/vst3/interfaces/pluginfactory.h"
#include "sdk/vst3/interfaces/plugview.h"
#include "sdk/vst3/interfaces/plugviewcontentscale.h"
#include "sdk/vst3/interfaces/types.h"
