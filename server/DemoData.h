#pragma once
namespace korvel::sandbox {
class Store;
// Fills a new store with the demo companies, users, products, clients and history.
void fillDemoData(Store& store);
} // namespace korvel::sandbox
