#pragma once

// The quorvex-sim commands. Each works on the state file under the server's
// lock; a failed command changes nothing.

#include <QStringList>
#include <QTextStream>

namespace nw {

// args without the program name. Returns the exit status: 0 done, 1 failed
// (one line on err).
int runSimTool(const QStringList& args, QTextStream& out, QTextStream& err);

} // namespace nw
