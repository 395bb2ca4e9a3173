"""The two tabs of the analysis dock: the cross section and the experiment
analysis pages.

PLACEHOLDER: only the two tab pages exist so far; their contents (and the
analysis pages, in modules of their own if that reads better) are built here.
"""

from builder import page


def cross_section_tab():
    """crossSectionTab, the first analysis tab ("Cross-section")."""
    return page("crossSectionTab", title="Cross-section")


def experiment_analysis_tab():
    """experimentAnalysisTab, the second analysis tab ("Experiment Analysis")."""
    return page("experimentAnalysisTab", title="Experiment Analysis")
