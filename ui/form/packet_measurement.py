"""The Wave Packet and Measurement tabs of the controls dock.

PLACEHOLDER: only the two pages exist so far; their contents are built here.
"""

from builder import page


def wave_packet_tab():
    """wavePacketTab, the second controls tab ("Wave Packet")."""
    return page("wavePacketTab", title="Wave Packet")


def measurement_tab():
    """measurementTab, the third controls tab ("Measurement")."""
    return page("measurementTab", title="Measurement")
