#include "Sight.hpp"

namespace Modeler {

Sight::Sight(std::shared_ptr<const ZeltoHost::ModelData> model) : model(std::move(model)) {}

Sight::~Sight() = default;

IAttributeReader::~IAttributeReader() = default;

}  // namespace Modeler
