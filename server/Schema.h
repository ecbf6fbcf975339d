#pragma once
namespace korvel::sandbox {
class Store;
// Creates every table that does not exist yet.
void createSchema(Store& store);
} // namespace korvel::sandbox
