#include "engine/FCCalvexBlockHandler.h"

#include "binding/HostApi.h"
#include "binding/PluginState.h"
#include "engine/FCPartProcessor.h"
#include "framework/data/FCParts.h"
#include "platform/IgnoredResult.h"

bool FCCalvexBlockHandler::Execute() {
    const HostApi::PassHold pass;
    FCPartProcessor processor;
    if (PluginSettings.processingMode == kScopeRegion) {
        processor.Iterate(nullptr);
    } else {
        FCParts parts;
        Ignore(parts.LoadAll(), Because::CountUnused);
        if (processor.IsReadyToIterate()) {
            parts.ForEachPart(&processor);
        }
    }
    result_ = processor.IsChanged();
    return result_;
}
