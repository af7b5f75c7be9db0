#include "element_operations.h"

#include "element_table.h"

namespace cli {

bool ReadElementOf(TSSICom& link, int index) { return (link.*DefinitionOf(index).read)(); }

// A write that the link counts as done once it is sent is confirmed here.
bool WriteElementOf(TSSICom& link, int index)
{
    const ElementDefinition& definition = DefinitionOf(index);
    return (link.*definition.write)() && (definition.writeReadsBack || (link.*definition.read)());
}

}  // namespace cli
