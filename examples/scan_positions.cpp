// Opens a bus, finds the servos that answer on it, and prints where each
// one stands (M_POS), all in one round.
//   scan_positions PORT [BAUD]
#include <orvelin/reads.h>
#include <orvelin/scan.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: scan_positions PORT [BAUD]\n");
        return 2;
    }
    orvelin::Bus bus(argv[1], argc == 3 ? std::atoi(argv[2]) : 115200);
    if (!bus.isOpen()) {
        std::fprintf(stderr, "scan_positions: cannot open %s\n", argv[1]);
        return 1;
    }
    std::vector<int> ids;
    for (const orvelin::ScanFind& find : orvelin::scanIds(bus, orvelin::everyId()))
        if (find.outcome.ok())
            ids.push_back(find.outcome.id);
    const int position = *orvelin::findRegister("M_POS");
    int status = 0;
    for (const orvelin::Reading& reading : orvelin::readRegisters(bus, ids, {position})) {
        if (reading.outcome.ok()) {
            std::printf("%02X M_POS %s\n", reading.outcome.id,
                        orvelin::valueText(position, reading.image.value(position)).c_str());
        } else {
            std::printf("%02X not read\n", reading.outcome.id);
            status = 1;
        }
    }
    return status;
}
