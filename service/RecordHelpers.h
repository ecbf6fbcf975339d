#pragma once
// Copy and reset helpers of the order records, and SetLengthList.

#include "IkorvelRecords.h"

namespace korvel {

// Every field of a client except its coordinates.
void copyCliente(const TCliente& source, TCliente& target);
// Fresh target lines for the first `count` source lines (bounded by the
// source), each a copy without TasaTasa2, Total_Tasa2 and BarCode.
void copyDetalles(const TArrayDetalle& source, TArrayDetalle& target, int count);
// Header, client and lines of an order.
void copyPedido(const TPedido& source, TPedido& target);
// Empties the working order the way a new order starts (keeps TASA2, Envio,
// the dates and the line array).
void resetPedido(TPedido& order);

// Sets the length of the record's array (new slots empty); Count is unchanged.
void setLengthList(const RecordInfo& info, void* record, int length);
template <class T>
void SetLengthList(T& record, int length)
{
    setLengthList(T::info(), &record, length);
}

// The number of rows a list record carries: Count, bounded by its array.
int rowCount(const RecordInfo& info, const void* record);
template <class T>
int rowCount(const T& record)
{
    return rowCount(T::info(), &record);
}

} // namespace korvel
