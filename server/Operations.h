#pragma once
// The groups of operations the sandbox offers; each adds its handlers (and
// any HTTP resources it serves) to the sandbox.

namespace korvel::sandbox {

class Sandbox;

void registerSessionOperations(Sandbox& sandbox);    // version, companies, login, company record, last error
void registerProductOperations(Sandbox& sandbox);    // product searches, stock, photos
void registerClientOperations(Sandbox& sandbox);     // client searches, credit check
void registerOrderOperations(Sandbox& sandbox);      // order lists, save, modify, process, PDFs
void registerDeliveryOperations(Sandbox& sandbox);   // sale by folio, delivery registration, sale review
void registerAuthorizationOperations(Sandbox& sandbox); // price authorization queue
void registerCollectionOperations(Sandbox& sandbox); // debts, payments, invoice and payment history
void registerInventoryOperations(Sandbox& sandbox);  // count lists
void registerStatisticsOperations(Sandbox& sandbox); // company status, sales by day, week, month
void registerHistoryOperations(Sandbox& sandbox);    // purchase and sales history

inline void registerAllOperations(Sandbox& sandbox)
{
    registerSessionOperations(sandbox);
    registerProductOperations(sandbox);
    registerClientOperations(sandbox);
    registerOrderOperations(sandbox);
    registerDeliveryOperations(sandbox);
    registerAuthorizationOperations(sandbox);
    registerCollectionOperations(sandbox);
    registerInventoryOperations(sandbox);
    registerStatisticsOperations(sandbox);
    registerHistoryOperations(sandbox);
}

} // namespace korvel::sandbox
