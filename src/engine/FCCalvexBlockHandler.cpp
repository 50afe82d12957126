#include "engine/FCCalvexBlockHandler.h"

#include "binding/PluginState.h"
#include "engine/FCPartProcessor.h"
#include "framework/data/FCParts.h"

bool FCCalvexBlockHandler::Execute() {
    FCPartProcessor processor;
    if (PluginSettings.processingMode == kScopeRegion) {
        processor.Iterate(nullptr);
    } else {
        FCParts parts;
        parts.LoadAll();
        if (processor.IsReadyToIterate()) {
            parts.ForEachPart(&processor);
        }
    }
    result_ = processor.IsChanged();
    return result_;
}
