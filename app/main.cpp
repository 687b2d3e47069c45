#include <cstdio>

int main()
{
    std::puts("Tessaline: the window is not built yet.");
    return 0;
}
