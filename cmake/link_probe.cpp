// The programs of the linker's layer check (CMakeLists.txt): each holds one
// screen library whole; they are linked, never run.
int main() {
    return 0;
}
