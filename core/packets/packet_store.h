#pragma once

#include <cstddef>

// The diagram library's global store, as the PacketWorker's thread sets it up
// for each job. Internal to the packets library.
namespace kerbwise {

inline constexpr unsigned kPacketVariables = 159;

// Starts the store for one job, its nodes capped at `maxNodes`.
void OpenStore(std::size_t maxNodes);
// Ends it; every PacketSet of the job must be gone.
void CloseStore();
// Whether the store must be started afresh before the next job: the library
// signalled an error (its caches may then hold wrong results), or the node
// table grew so large that its memory should go back.
bool StoreNeedsReset();
// Throws PacketSetTooLarge when the library signalled that the cap was hit
// (its last result is then meaningless), std::runtime_error for any other
// error it signalled.
void ThrowIfStoreFailed();

}  // namespace kerbwise
