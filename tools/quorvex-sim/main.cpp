// quorvex-sim: plays the users of a simulated NetWare server.

#include "sim_tool.h"

#include <QCoreApplication>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return nw::runSimTool(app.arguments().mid(1), out, err);
}
