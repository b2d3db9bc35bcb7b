#include "app/application.h"
#include "app/command_line.h"

int main(int argc, char *argv[])
{
    if (is_command_line(argc, argv))
        return run_command_line(argc, argv);
    return run_application(argc, argv);
}
